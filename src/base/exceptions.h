#pragma once
// The error types every layer raises. Each carries a message meant for the
// user; the application's handler shows it in a message box.
#include <stdexcept>
#include <string>

class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& message) : std::runtime_error(message) {}
};

// Reading or writing a stream failed (short read, bad seek, file missing).
class EStreamError : public Exception { using Exception::Exception; };
class EReadError : public EStreamError { using EStreamError::EStreamError; };
class EWriteError : public EStreamError { using EStreamError::EStreamError; };
class EFOpenError : public EStreamError { using EStreamError::EStreamError; };

// A binary form stream or text form is malformed or names what is unknown.
class EFormError : public Exception { using Exception::Exception; };

// Bitmap or icon data that cannot be decoded.
class EInvalidGraphic : public Exception { using Exception::Exception; };

// A text that does not convert to the value asked for.
class EConvertError : public Exception { using Exception::Exception; };

// The system ran out of a resource (timers, handles).
class EOutOfResources : public Exception { using Exception::Exception; };
