// Every value the simulator makes up comes from a generator seeded with a
// hash of the command line's seed and the object's name, so one seed always
// gives the same data, whatever order the requests come in.
#pragma once

#include <cstdint>
#include <iterator>
#include <string_view>

namespace guang_sim {

// FNV-1a of `text`, mixed with `seed` through the splitmix64 finaliser.
inline uint64_t Mix(uint64_t seed, std::string_view text) {
  uint64_t hash = 0xcbf29ce484222325ULL ^ seed;
  for (unsigned char byte : text) hash = (hash ^ byte) * 0x100000001b3ULL;
  hash ^= seed + 0x9e3779b97f4a7c15ULL;
  hash = (hash ^ (hash >> 30)) * 0xbf58476d1ce4e5b9ULL;
  hash = (hash ^ (hash >> 27)) * 0x94d049bb133111ebULL;
  return hash ^ (hash >> 31);
}

// splitmix64.
class Rng {
 public:
  explicit Rng(uint64_t state) : state_(state) {}
  uint64_t Next() {
    uint64_t z = (state_ += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
  }
  // A number in [0, bound); 0 when `bound` is 0.
  uint64_t Below(uint64_t bound) { return bound == 0 ? 0 : Next() % bound; }
  // True `percent` times in a hundred.
  bool Chance(unsigned percent) { return Below(100) < percent; }
  template <class List>
  const auto& Pick(const List& list) {
    return list[Below(std::size(list))];
  }

 private:
  uint64_t state_;
};

}  // namespace guang_sim
