// An include that is nowhere: the include line is the compile error.
#include "missing_unit.cpp"
{
}
