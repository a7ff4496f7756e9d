// libFuzzer target: bytes from a training board, through the frame assembler and into the
// 8051 and Arduino kit parsers, the infrared key names and the keypad calculator. Whatever arrives,
// nothing reads out of bounds, no signed overflow happens (UBSan), a key name is one of the table's
// or "UNKNOW", and a calculator error always gives 0.
#include "core/boards/board_frames.h"
#include "core/boards/infrared_keys.h"
#include "core/boards/keypad_calculator.h"
#include "core/link/frame_receive.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    const QByteArray data(reinterpret_cast<const char*>(bytes), qsizetype(size));
    Korvane::CKeypadCalculator calculator;
    Korvane::IrValues ir;
    auto check = [&](const QByteArray& frame) {
        for (int ad = 0; ad < 5; ++ad) {
            const auto u = Korvane::ParseBoard51Frame(frame, ad, ad % 4, ir);
            if (u.infrared)
                ir = *u.infrared;
        }
        for (int choice = 0; choice < 5; ++choice) {
            const auto k = Korvane::ParseKitFrame(frame, choice, choice % 4, ir);
            if (k.joyDirection && (*k.joyDirection < 0 || *k.joyDirection > 9))
                std::abort();
        }
        for (auto v : {Korvane::IrVariant::Board51, Korvane::IrVariant::Arduino}) {
            const QByteArray name = Korvane::KeyName(frame, v);
            if (name.isEmpty() || name.size() > 7)
                std::abort();
        }
        const auto out = calculator.HandleFrame(frame);
        if (out.error != Korvane::CalcError::None && calculator.result != 0)
            std::abort();
        if (calculator.formula.size() > Korvane::CKeypadCalculator::kMaxFormula + 1)
            std::abort();
    };
    // The whole input is also a formula as a user could type it.
    const Korvane::CalcResult r = Korvane::Evaluate(data);
    if (r.error != Korvane::CalcError::None && r.value != 0)
        std::abort();
    (void)Korvane::LeadingHex32(data);
    Korvane::CFrameAssembler assembler;
    assembler.FeedChunk(data, check);
    return 0;
}
