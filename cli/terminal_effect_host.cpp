#include "cli/terminal_effect_host.h"

#include <algorithm>

#include "cli/terminal_messages.h"

namespace marvolin::cli {
namespace {
constexpr std::uint32_t kBarWidth = 40;
}

void TerminalEffectHost::BeginEffect(std::string label) {
    label_ = std::move(label);
    DrawBar(0);
}

void TerminalEffectHost::EndEffect() {
    DrawBar(100);
    EndBarLine();
}

void TerminalEffectHost::ShowProgress(std::uint32_t percent) {
    // Routines count on past 100 for short sounds; the bar simply stays full.
    const std::uint32_t shown = std::min<std::uint32_t>(percent, 100);
    if (!barLineOpen_ || shown != shownPercent_) {
        DrawBar(shown);
    }
}

void TerminalEffectHost::ShowMemoryMessage() {
    ++memoryMessagesShown_;
    EndBarLine();  // the message starts on a line of its own
    PrintMessage(messages_, resources::MessageId::EffectMemory);
}

void TerminalEffectHost::DrawBar(std::uint32_t percent) {
    if (bar_ == nullptr) {
        return;
    }
    const std::uint32_t filled = percent * kBarWidth / 100;
    *bar_ << '\r' << label_ << " [" << std::string(filled, '#')
          << std::string(kBarWidth - filled, ' ') << "] " << percent << '%' << std::flush;
    barLineOpen_ = true;
    shownPercent_ = percent;
}

void TerminalEffectHost::EndBarLine() {
    if (bar_ != nullptr && barLineOpen_) {
        *bar_ << '\n' << std::flush;
    }
    barLineOpen_ = false;
}

}  // namespace marvolin::cli
