#include "core/panels/panel_model.h"

namespace Korvane {

void CPanelModel::Set(int field, const QVariant& value) {
    const bool same = m_values.value(field) == value;
    if (!same)
        m_values.insert(field, value);
    if (m_inBatch) {
        // Told at the end of the batch, also when the device said the same again.
        if (!m_touchedSet.contains(field)) {
            m_touchedSet.insert(field);
            m_touched.append(field);
        }
        return;
    }
    if (!same)
        emit changed(field);
}

void CPanelModel::EndBatch() {
    if (!m_inBatch)
        return;
    m_inBatch = false;
    const QList<int> touched = std::exchange(m_touched, {});
    m_touchedSet.clear();
    for (int field : touched)
        emit changed(field);
}

} // namespace Korvane
