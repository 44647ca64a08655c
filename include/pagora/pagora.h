// The one header a program using Pagora includes: #include <pagora/pagora.h>.
#pragma once

#include "pdf/core/pagora.h"
