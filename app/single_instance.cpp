#include "app/single_instance.h"

namespace vantero {

SingleInstance::SingleInstance()
    : mutex_(::CreateMutexW(nullptr, FALSE, L"Local\\Vantero.SingleInstance.{5B0C7E1A-3F2D-4C8B-9E61-7A4D2B9F0C33}")) {
    first_ = mutex_ && ::GetLastError() != ERROR_ALREADY_EXISTS;
}

}  // namespace vantero
