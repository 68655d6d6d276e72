#include "app/single_instance.h"

#include "common/external_strings.h"

namespace vantero {

SingleInstance::SingleInstance()
    : mutex_(::CreateMutexW(nullptr, FALSE, external::kSingleInstanceMutex)) {
    first_ = mutex_ && ::GetLastError() != ERROR_ALREADY_EXISTS;
}

}  // namespace vantero
