#pragma once
#include "platform/Clock.h"
