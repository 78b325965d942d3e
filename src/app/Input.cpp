#include "app/Input.h"

#include <stdexcept>

namespace {
std::unique_ptr<Input> current;
}

Input& input()
{
    if (!current)
        throw std::logic_error("no input implementation installed");
    return *current;
}

void setInput(std::unique_ptr<Input> implementation)
{
    current = std::move(implementation);
}
