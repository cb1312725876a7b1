// Scripted dialogs for the shortcut editing tests: each dialog answers from its queue (an
// empty queue: cancelled), the URL dialog edits the texts by a function, and a drop-down menu
// clicks the item named in `menuChoices` (or nothing). Every request is logged.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "controls/MenuItem.h"
#include "platform/ShellDialogs.h"

namespace tovr {

class FakeShellDialogs final : public IShellDialogs {
 public:
  std::deque<std::optional<std::string>> files, folders;
  std::deque<std::string> menuChoices;  // item names; "" dismisses
  // The user's edit of the URL dialog; returns the answer. Absent: accepted unchanged.
  std::function<bool(std::string& title, std::string& link)> urlAnswer;
  std::vector<std::string> log;

  std::optional<std::string> ChooseFile() override {
    log.push_back("file");
    return Next(files);
  }
  std::optional<std::string> ChooseFolder(const std::string& title) override {
    log.push_back("folder " + title);
    return Next(folders);
  }
  bool ShowUrlDialog(const std::string& question, std::string& title, std::string& link) override {
    log.push_back("url " + question + " | " + title + " | " + link);
    return urlAnswer ? urlAnswer(title, link) : true;
  }
  void DropDownMenu(controls::MenuItem& menu, std::string_view anchor) override {
    std::string items;
    for (const auto& item : menu.Items()) items += " " + item->Caption();
    log.push_back("menu " + menu.Name() + " below " + std::string(anchor) + ":" + items);
    if (menuChoices.empty()) return;
    const std::string choice = menuChoices.front();
    menuChoices.pop_front();
    if (controls::MenuItem* item = choice.empty() ? nullptr : menu.Find(choice)) item->Click();
  }

 private:
  static std::optional<std::string> Next(std::deque<std::optional<std::string>>& queue) {
    if (queue.empty()) return std::nullopt;
    std::optional<std::string> answer = queue.front();
    queue.pop_front();
    return answer;
  }
};

}  // namespace tovr
