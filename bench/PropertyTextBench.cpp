#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "object/IEditable.h"
#include "object/PropertyText.h"

namespace {

// A component with a mix of property types like a sprite or a body: one part per row.
class MixedCmp : public IEditable {
public:
    MixedCmp() {
        RegisterProperty(&Speed, "Speed");
        RegisterProperty(&Count, "Count");
        RegisterProperty(&Visible, "Visible");
        RegisterProperty(&Label, "Label");
        RegisterProperty(&Pos, "Pos");
        RegisterProperty(&Area, "Area");
        RegisterProperty(&Tint, "Tint");
        RegisterProperty(&Layer, "Layer");
        RegisterProperty(&Align, "Align");
        RegisterProxyProperty<float>([this] { return Angle; }, [this](float a) { Angle = a; }, "Angle");
    }

    float Speed = 0.1f;
    int Count = -42;
    bool Visible = true;
    std::string Label = "two\nlines";
    Vector2 Pos{3.5f, -1250.0f};
    Rect Area{1.0f, 2.0f, 640.0f, 480.0f};
    Color Tint{255, 128, 0, 200};
    DrawLayer Layer = DrawLayer::ForegroundLit;
    TextXAlignment Align = TextXAlignment::Center;
    float Angle = 1.57079637f;
};

std::vector<SubProperty> AllParts(const IEditable& e) {
    std::vector<SubProperty> parts;
    for (const auto& [name, registration] : e.Properties) {
        for (const SubProperty& part : registration->MakeSubProperties(name)) {
            parts.push_back(part);
        }
    }
    return parts;
}

void ReportPerProperty(benchmark::State& state, size_t partCount) {
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * partCount));
    state.counters["ns_per_property"] = benchmark::Counter(static_cast<double>(state.iterations() * partCount),
                                                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_PropertyToText(benchmark::State& state) {
    MixedCmp component;
    const std::vector<SubProperty> parts = AllParts(component);
    for (auto _ : state) {
        for (const SubProperty& part : parts) {
            std::string text = PropertyToText(part);
            benchmark::DoNotOptimize(text);
        }
    }
    ReportPerProperty(state, parts.size());
}
BENCHMARK(BM_PropertyToText);

void BM_PropertyFromText(benchmark::State& state) {
    MixedCmp component;
    std::vector<SubProperty> parts = AllParts(component);
    std::vector<std::string> texts;
    for (const SubProperty& part : parts) {
        texts.push_back(PropertyToText(part));
    }
    for (auto _ : state) {
        for (size_t i = 0; i < parts.size(); ++i) {
            PropertyFromText(parts[i], texts[i]);
        }
        benchmark::ClobberMemory();
    }
    ReportPerProperty(state, parts.size());
}
BENCHMARK(BM_PropertyFromText);

}  // namespace
