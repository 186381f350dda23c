#pragma once
// Event handlers of the framework are std::function values held by the object that raises
// them; an empty one means "not assigned".

#include <functional>

class TObject;

using TNotifyEvent = std::function<void(TObject* sender)>;
