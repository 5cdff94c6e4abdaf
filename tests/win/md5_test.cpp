#include "md5_shared_tests.h"
