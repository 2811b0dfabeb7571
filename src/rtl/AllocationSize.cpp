#include "rtl/AllocationSize.h"

#include "rtl/Exceptions.h"

namespace rtl {

void AllocationTooLarge() { throw EOutOfMemory(); }

}  // namespace rtl
