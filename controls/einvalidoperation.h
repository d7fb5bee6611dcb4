#pragma once

#include <stdexcept>

// An operation refused because of the object's state (a range whose minimum
// would pass its maximum). The text is meant for the user.
class EInvalidOperation : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};
