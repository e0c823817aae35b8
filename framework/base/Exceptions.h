// The exception types our framework raises. Handlers never catch them: the
// framework's event dispatcher gives whatever escapes a handler to the
// default handling, which tells the user and keeps the application running.
#pragma once

#include <stdexcept>
#include <string>

namespace fw {

class RuntimeException : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A file that could not be opened or read. `ErrorNumber()` is the system's
// error number (errno); `FileName()` the file's name without its folder.
class IOException : public RuntimeException {
 public:
  IOException(std::string message, int errorNumber, std::string fileName);
  int ErrorNumber() const { return m_errorNumber; }
  const std::string& FileName() const { return m_fileName; }

 private:
  int m_errorNumber;
  std::string m_fileName;
};

// A Nil object was used: a control or item that was not found.
class NilObjectException : public RuntimeException {
 public:
  using RuntimeException::RuntimeException;
};

}  // namespace fw
