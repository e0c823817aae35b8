#include "framework/base/Exceptions.h"

namespace fw {

IOException::IOException(std::string message, int errorNumber, std::string fileName)
    : RuntimeException(std::move(message)), m_errorNumber(errorNumber), m_fileName(std::move(fileName)) {}

}  // namespace fw
