#include "guang/decode_entities.h"

#include <gtest/gtest.h>

namespace pelrine {
namespace {

TEST(DecodeEntities, DecodesEveryEntityOfTheTable) {
  struct Case {
    std::string_view entity, want;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"&ndash;", "\xA8\x43"},
           {"&mdash;", "\xA1\xAA"},
           {"&ldquo;", "\xA1\xB0"},
           {"&rdquo;", "\xA1\xB1"},
           {"&nbsp;", " "},
           {"&lt;", "<"},
           {"&gt;", ">"},
           {"&quot;", "\""},
           {"&times;", "\xA1\xC1"},
           {"&divide;", "\xA1\xC2"},
           {"&middot;", "\xA1\xA4"},
           {"&hellip;", "\xA1\xAD"},
           {"&lsquo;", "\xA1\xAE"},
           {"&rsquo;", "\xA1\xAF"},
           {"&permil;", "\xA1\xEB"},
           {"&prime;", "\xA1\xE4"},
           {"&Prime;", "\xA1\xE5"},
           {"&larr;", "\xA1\xFB"},
           {"&uarr;", "\xA1\xFC"},
           {"&rarr;", "\xA1\xFA"},
           {"&darr;", "\xA1\xFD"},
           {"&radic;", "\xA1\xCC"},
           {"&prop;", "\xA1\xD8"},
           {"&infin;", "\xA1\xDE"},
           {"&ang;", "\xA1\xCF"},
           {"&and;", "\xA1\xC4"},
           {"&or;", "\xA1\xC5"},
           {"&cap;", "\xA1\xC9"},
           {"&cup;", "\xA1\xC8"},
           {"&int;", "\xA1\xD2"},
           {"&there4;", "\xA1\xE0"},
           {"&sim;", "\xA1\xAB"},
           {"&asymp;", "\xA1\xD6"},
           {"&ne;", "\xA1\xD9"},
           {"&equiv;", "\xA1\xD4"},
           {"&le;", "\xA1\xDC"},
           {"&ge;", "\xA1\xDD"},
           {"&oplus;", "\xA8\x92"},
           {"&perp;", "\xA1\xCD"},
           {"&amp;", "&"},
       })
    EXPECT_EQ(DecodeEntities("<" + std::string(c.entity) + ">"), "<" + std::string(c.want) + ">")
        << c.entity;
}

TEST(DecodeEntities, AppliesTheTableInOrderOnly) {
  struct Case {
    std::string_view text, want;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"a &lt;b&gt; c", "a <b> c"},
           {"&amp;lt;", "&lt;"},  // "&amp;" comes last and is not decoded again
           {"&amp;amp;", "&amp;"},
           {"&lt;&lt;", "<<"},
           {"&#39;&#x4e2d;", "&#39;&#x4e2d;"},
           {"&LT;&Amp;&copy;&lt", "&LT;&Amp;&copy;&lt"},
           {"&Prime;&prime;", "\xA1\xE5\xA1\xE4"},
           {"&nbsp;&nbsp;", "  "},
           {"价格&times;2",
            "价格\xA1\xC1"
            "2"},
           {"", ""},
       })
    EXPECT_EQ(DecodeEntities(c.text), c.want) << c.text;
}

}  // namespace
}  // namespace pelrine
