#pragma once

namespace pagora {

// The public interface's promise that callers see only RuntimeError: called from the
// `catch (...)` of a public operation's function-try-block, it rethrows RuntimeError and
// allocation failures as they are and turns any other standard exception into a
// RuntimeError (out_of_range 9, length_error 6, a file system or stream failure 75, any
// other 5).
[[noreturn]] void RethrowAsRuntimeError();

}  // namespace pagora
