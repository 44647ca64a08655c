#include "pdf/core/error_boundary.h"

#include <new>
#include <stdexcept>
#include <system_error>

#include "pdf/core/runtime_error.h"

namespace pagora {

void RethrowAsRuntimeError() {
  try {
    throw;
  } catch (const RuntimeError&) {
    throw;
  } catch (const std::bad_alloc&) {
    throw;
  } catch (const std::out_of_range&) {
    throw RuntimeError(kSubscriptOutOfRange);
  } catch (const std::length_error&) {
    throw RuntimeError(kOverflow);
  } catch (const std::system_error&) {
    throw RuntimeError(kPathFileAccess);
  } catch (...) {
    throw RuntimeError(kInvalidCall);
  }
}

}  // namespace pagora
