#pragma once

#include "charset/Result.h"
