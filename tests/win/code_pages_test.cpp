#include "code_pages_shared_tests.h"
