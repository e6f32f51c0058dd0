#pragma once
// Callbacks that hear of one event each time it happens (a window being
// made), registered and taken back by id.
#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

class TWatchers {
 public:
  int Add(std::function<void()> watcher) {
    FWatchers.emplace_back(++FLastId, std::move(watcher));
    return FLastId;
  }
  void Remove(int id) {
    std::erase_if(FWatchers, [id](const auto& entry) { return entry.first == id; });
  }
  // Runs every watcher there is now; one may add or take back others meanwhile.
  void Notify() const {
    for (const auto watchers = FWatchers; const auto& [id, watcher] : watchers) watcher();
  }

 private:
  std::vector<std::pair<int, std::function<void()>>> FWatchers;
  int FLastId = 0;
};
