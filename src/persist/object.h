#pragma once
// Root of every framework object, so events can name their sender.
#include <functional>

class TObject {
 public:
  virtual ~TObject() = default;
};

// An event that only tells who raised it.
using TNotifyEvent = std::function<void(TObject* sender)>;
