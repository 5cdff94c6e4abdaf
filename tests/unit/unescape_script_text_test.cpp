#include "unescape_script_text_shared_tests.h"
