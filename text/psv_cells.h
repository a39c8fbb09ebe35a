// CellGrid under its old header, for the frame and Markdown readers; new code
// includes text/cell_grid.h.
#pragma once

#include "text/cell_grid.h"
