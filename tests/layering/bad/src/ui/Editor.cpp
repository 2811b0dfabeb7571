#include "engine/fsScript.h"
#include "gui/Controls.h"
