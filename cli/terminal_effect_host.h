#pragma once

#include <cstdint>
#include <ostream>
#include <string>

#include "effects/effect_context.h"

namespace marvolin::cli {

// The effects' host on the command line: the memory message is printed to `messages`, and
// progress becomes a one-line bar per effect when a bar is wanted.
class TerminalEffectHost : public effects::EffectHost {
  public:
    // `bar` receives the progress bar; nullptr shows none.
    TerminalEffectHost(std::ostream& messages, std::ostream* bar)
        : messages_(messages), bar_(bar) {}

    void BeginEffect(std::string label);
    void EndEffect();

    void ShowProgress(std::uint32_t percent) override;
    void ShowMemoryMessage() override;

    int memoryMessagesShown() const { return memoryMessagesShown_; }

  private:
    void DrawBar(std::uint32_t percent);
    void EndBarLine();

    std::ostream& messages_;
    std::ostream* bar_;
    std::string label_;
    bool barLineOpen_ = false;
    std::uint32_t shownPercent_ = 0;
    int memoryMessagesShown_ = 0;
};

}  // namespace marvolin::cli
