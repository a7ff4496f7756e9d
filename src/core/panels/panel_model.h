#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <QVariant>

namespace Korvane {

// A panel's state, without widgets: its values by field (each family numbers its own fields),
// what the device reports and what the user sets. The panel writes the fields the user sets
// (a typed text, a choice) and binds every control to its field: a field that changes says so
// (changed), and the control shows it. Frames from the device change fields in batches:
// between BeginBatch and EndBatch changes are collected, and EndBatch tells once about every
// field a frame set, also when the value stayed the same, so that a reading field the user
// typed into shows the device's value again with the next frame that carries it.
class CPanelModel : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;

    QVariant Value(int field) const { return m_values.value(field); }
    QString Text(int field) const { return m_values.value(field).toString(); }
    int Number(int field) const { return m_values.value(field).toInt(); }
    bool Flag(int field) const { return m_values.value(field).toBool(); }
    void Set(int field, const QVariant& value);

    // A frame the window's door sent to this family's device.
    virtual void OnCommandSent(const QByteArray& frame) { Q_UNUSED(frame); }

    void BeginBatch() { m_inBatch = true; }
    void EndBatch();
    bool InBatch() const { return m_inBatch; }

  signals:
    void changed(int field);

  protected:
    // A field's value before anything set it, told to nobody.
    void Initialise(int field, const QVariant& value) { m_values.insert(field, value); }

  private:
    QHash<int, QVariant> m_values;
    bool m_inBatch = false;
    QList<int> m_touched; // fields set during the batch, in the order they were first set
    QSet<int> m_touchedSet;
};

} // namespace Korvane
