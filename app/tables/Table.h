// The plain data table and its column kinds.
#pragma once

#include "GridColumns.h"
#include "GridTable.h"
