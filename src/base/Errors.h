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

// Inside a catch block: throws the error being handled again, of the same
// kind, with `place` (the file and line at fault) added after its text.
[[noreturn]] inline void rethrowWithPlace(const std::string& place) {
    try {
        throw;
    } catch (const FileError& e) {
        throw FileError(e.what() + place);
    } catch (const ConversionError& e) {
        throw ConversionError(e.what() + place);
    } catch (const RangeError& e) {
        throw RangeError(e.what() + place);
    } catch (const OverflowError& e) {
        throw OverflowError(e.what() + place);
    } catch (const DivisionError& e) {
        throw DivisionError(e.what() + place);
    } catch (const ListIndexError& e) {
        throw ListIndexError(e.what() + place);
    } catch (const ControlError& e) {
        throw ControlError(e.what() + place);
    } catch (const VargisError& e) {
        throw VargisError(e.what() + place);
    }
}

// " (файл "path", строка N)", as rethrowWithPlace adds it.
inline std::string filePlace(const std::string& path, int line) {
    return " (файл \"" + path + "\", строка " + std::to_string(line) + ")";
}

} // namespace vargis
