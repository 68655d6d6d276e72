#pragma once
// Pictures compiled into the program as PNG files.
#include <windows.h>

#include "common/geometry.h"
#include "common/unique_handle.h"

namespace vantero {

// The picture under the given resource id as a top-down 24-bit DIB section, its pixels exactly as
// stored; an empty handle where it is missing or does not decode. Works whether or not the
// calling thread has initialised COM.
unique_gdi_object load_bitmap(int resource_id);

// A picture at exactly its 96-dpi size at a scale, from the set drawn nearest to that scale
// (base_id at 100 %, each larger scale IDB_SCALE_STEP further on). Where that set's size
// differs from the size wanted it is stretched pixel for pixel, so a colour key stays exact.
unique_gdi_object load_bitmap_for_dpi(int base_id, Size at_96_dpi, Scale scale);

}  // namespace vantero
