#pragma once

// Shared set-up of the roster tests: the model keeps process-wide caches
// and one input-box hook, so every test starts and ends with them empty.

#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/InputBox.h"
#include "roster/PuIntFile.h"
#include "roster/PuUtObject.h"

namespace roster_test {

class RosterTest : public ::testing::Test {
 protected:
  void SetUp() override { Clean(); }
  void TearDown() override { Clean(); }

  // Puts a file made of `bytes` in the .int cache under `name`.
  static void CacheIntFile(const std::string& name, const std::string& bytes) {
    roster::IntFileList().Add(name, std::make_unique<roster::TIntFile>(roster::TIntFile::FromBytes(name, bytes)));
  }

  // Answers every input box with the next of `answers` (nothing = Cancel)
  // and records what was asked.
  void AnswerInputBoxes(std::vector<std::optional<std::string>> answers) {
    answers_ = std::move(answers);
    platform::SetInputBoxHandler([this](const std::string& caption, const std::string& prompt,
                                        const std::string& defaultText) -> std::optional<std::string> {
      asked_.push_back(caption + "|" + prompt + "|" + defaultText);
      if (answers_.empty()) return std::nullopt;
      auto answer = answers_.front();
      answers_.erase(answers_.begin());
      return answer;
    });
  }

  std::vector<std::string> asked_;

 private:
  static void Clean() {
    roster::FreeUtObjects();
    roster::FreeIntFiles();
    platform::SetInputBoxHandler({});
  }
  std::vector<std::optional<std::string>> answers_;
};

}  // namespace roster_test
