#pragma once

#include <stdexcept>

namespace plovan {

// The toolkit's typed errors. Code below the widgets turns them into error values;
// nothing lets them escape an event handler.
class PlatformException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A size or position outside what the toolkit supports.
class OutOfBoundsException : public PlatformException {
public:
    using PlatformException::PlatformException;
};

// An operation was asked of an object that is not there.
class NilObjectException : public PlatformException {
public:
    NilObjectException() : PlatformException("Nil object") {}
    using PlatformException::PlatformException;
};

} // namespace plovan
