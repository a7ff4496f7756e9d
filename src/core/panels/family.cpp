#include "core/panels/family.h"

#include "core/products/catalogue.h"

#include <cmath>
#include <vector>

namespace Korvane {

namespace {
std::vector<FamilyDescriptor>& Families() {
    static std::vector<FamilyDescriptor> families;
    return families;
}
} // namespace

void RegisterFamily(FamilyDescriptor family) {
    for (FamilyDescriptor& f : Families())
        if (f.panelId == family.panelId) {
            f = std::move(family);
            return;
        }
    Families().push_back(std::move(family));
}

const FamilyDescriptor* FindFamily(int panelId) {
    RegisterFamilies();
    for (const FamilyDescriptor& f : Families())
        if (f.panelId == panelId)
            return &f;
    return nullptr;
}

const FamilyDescriptor* FamilyOfProduct(int product) {
    return IsValidProduct(product) ? FindFamily(Product(product).panelId) : nullptr;
}

QJsonValue TelemetryNumber(const QString& text) {
    QString digits = text.trimmed();
    while (!digits.isEmpty() && !digits.back().isDigit())
        digits.chop(1);
    bool ok = false;
    const double v = digits.toDouble(&ok);
    if (ok && std::isfinite(v))
        return v;
    return text;
}

QJsonValue TelemetryNumber(const QByteArray& text) {
    return TelemetryNumber(QString::fromLatin1(text));
}

FrameRecord ReadFrameFresh(int product, int route, const QByteArray& frame) {
    FrameRecord record;
    record.product = product;
    record.route = route;
    record.bytes = frame;
    const FamilyDescriptor* family = FamilyOfProduct(product);
    if (!family || !family->makeModel || !family->read)
        return record;
    const std::unique_ptr<CPanelModel> model = family->makeModel(product);
    family->read(*model, record);
    return record;
}

} // namespace Korvane
