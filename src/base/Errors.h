#pragma once
// The core's own error types. A handler that meets malformed data throws one
// of these; the event dispatch shows its message in the error box and leaves
// the state as far as the handler got.

#include <stdexcept>
#include <string>

namespace vargis {

struct VargisError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A file that cannot be opened, read or written.
struct FileError : VargisError {
    using VargisError::VargisError;
};

// A text that is not an integer, or a date that cannot be parsed.
struct ConversionError : VargisError {
    using VargisError::VargisError;
};

// An index or a value outside its declared range.
struct RangeError : VargisError {
    using VargisError::VargisError;
};

// Arithmetic that would not fit its type.
struct OverflowError : VargisError {
    using VargisError::VargisError;
};

// Division by zero.
struct DivisionError : VargisError {
    using VargisError::VargisError;
};

// A list index outside the list (e.g. replacing a line the file lacks).
struct ListIndexError : VargisError {
    using VargisError::VargisError;
};

// A control name that no form holds.
struct ControlError : VargisError {
    using VargisError::VargisError;
};

} // namespace vargis
