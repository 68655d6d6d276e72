#pragma once
#include <windows.h>

#include "common/unique_handle.h"

namespace vantero {

// Holds the program's instance mark for as long as it lives; a second copy sees it taken.
class SingleInstance {
public:
    // wait_for_previous: a copy that restarts this one is still saving; wait until it lets go.
    explicit SingleInstance(bool wait_for_previous = false);
    bool is_first() const { return first_; }
    // Lets the next copy start, though this one has not ended yet.
    void release() { mutex_.reset(); }

private:
    unique_kernel_handle mutex_;
    bool first_ = false;
};

// Asks the running copy to bring its main window forward.
void show_first_copy();

}  // namespace vantero
