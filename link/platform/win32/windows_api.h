// The Windows headers as the storage backends use them: without the min and max macros, which
// would stand in for std::min and std::max.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
