#include "rtl/Below.h"
