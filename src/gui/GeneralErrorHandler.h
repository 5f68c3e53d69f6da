#pragma once
// Lives with the data grid, which the main window builds on.
#include "gui/grid/GeneralErrorHandler.h"
