#include "exchange.h"

namespace guang_sim {

Answer ErrorPage(int status, std::string_view reason) {
  std::string title = std::to_string(status) + " " + std::string(reason);
  return {status, "text/html",
          "<html>\r\n<head><title>" + title + "</title></head>\r\n<body>\r\n<center><h1>" + title +
              "</h1></center>\r\n<hr><center>Tengine</center>\r\n</body>\r\n</html>\r\n",
          ""};
}

}  // namespace guang_sim
