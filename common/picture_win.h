#pragma once
// Pictures compiled into the program as PNG files.
#include "common/unique_handle.h"

namespace vantero {

// The picture under the given resource id as a top-down 24-bit DIB section, its pixels exactly as
// stored; an empty handle where it is missing or does not decode. Works whether or not the
// calling thread has initialised COM.
unique_gdi_object load_bitmap(int resource_id);

}  // namespace vantero
