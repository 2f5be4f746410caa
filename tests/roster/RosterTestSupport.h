#pragma once

// Shared set-up of the roster tests: the game files are the process's own,
// so every test starts and ends with them empty; questions the model asks
// go to Ask, which answers from a script.

#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "roster/PuGameFiles.h"
#include "roster/PuUtTypes.h"

namespace roster_test {

class RosterTest : public ::testing::Test {
 protected:
  void SetUp() override { Clean(); }
  void TearDown() override { Clean(); }

  // Puts a file made of `bytes` in the .int cache under `name`.
  static void CacheIntFile(const std::string& name, const std::string& bytes) {
    roster::GameFiles().IntFiles().Add(name, std::make_unique<roster::TIntFile>(roster::TIntFile::FromBytes(name, bytes)));
  }

  // Ask answers every question with the next of `answers` (nothing =
  // Cancel) and records what was asked in asked_.
  void AnswerInputBoxes(std::vector<std::optional<std::string>> answers) { Ask.Answers = std::move(answers); }

  struct TScriptedAsk : roster::TInputQuery {
    explicit TScriptedAsk(std::vector<std::string>& asked) : Asked(&asked) {}
    std::vector<std::optional<std::string>> Answers;
    std::vector<std::string>* Asked;
    std::optional<std::string> InputQuery(const std::string& caption, const std::string& prompt,
                                          const std::string& text) override {
      Asked->push_back(caption + "|" + prompt + "|" + text);
      if (Answers.empty()) return std::nullopt;
      auto answer = Answers.front();
      Answers.erase(Answers.begin());
      return answer;
    }
  };

  std::vector<std::string> asked_;
  TScriptedAsk Ask{asked_};

 private:
  static void Clean() {
    roster::GameFiles().FreeUtObjects();
    roster::GameFiles().FreeIntFiles();
  }
};

}  // namespace roster_test
