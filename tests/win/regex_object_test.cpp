#include "regex_object_shared_tests.h"
