#include "render/TintCmp.h"

namespace {

uint8_t MultiplyChannel(uint8_t a, uint8_t b) {
    return static_cast<uint8_t>(static_cast<unsigned>(a) * b / 255u);
}

}  // namespace

TintCmp::TintCmp() {
    RegisterProperty(&Tint, "Tint");
}

Color TintCmp::Multiply(Color a, Color b) {
    return Color(MultiplyChannel(a.R, b.R), MultiplyChannel(a.G, b.G), MultiplyChannel(a.B, b.B),
                 MultiplyChannel(a.A, b.A));
}
