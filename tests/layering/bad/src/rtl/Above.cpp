#include "rtl/Below.h"
#include "gui/Controls.h"
#include <unistd.h>
