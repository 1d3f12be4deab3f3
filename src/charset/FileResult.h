#pragma once

#include "Result.h"
