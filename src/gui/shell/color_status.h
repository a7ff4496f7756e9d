#pragma once

#include <QColor>
#include <QLabel>
#include <QStatusBar>

namespace Korvane {

// One status pane: its text in black on a background that covers the text cells only.
class CColorPane : public QWidget {
    Q_OBJECT
  public:
    CColorPane(const QString& sizingText, const QString& accessibleName, QWidget* parent);
    void SetText(const QString& text, const QColor& background);
    // A remark told with the text to assistive technology (the tooltip shows it on screen).
    void SetNote(const QString& note);
    // The text the pane is sized for at least (its longest usual text).
    void SetSizingText(const QString& text);
    QString Text() const { return m_text; }
    QColor Background() const { return m_background; }
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QString m_sizingText;
    QString m_text;
    QString m_note;
    QColor m_background;
};

// The main window's status bar: pane 0 for prompts, panes 1 to 3 for port, baud and link state.
class CColorStatu : public QStatusBar {
    Q_OBJECT
  public:
    explicit CColorStatu(QWidget* parent = nullptr);

    // Pane 0 to 3. Pane 0 ignores the colour (it shows prompts).
    void SetColorPane(int pane, const QString& text, const QColor& background);
    // Received frames the station dropped because it fell behind: shown as the link state
    // pane's tooltip (and told to assistive technology with the pane's description).
    void SetDroppedFrames(quint64 total);
    // The MQTT pane (4), made on first use: its text on a colour, and a note for its tooltip
    // and assistive technology (the reason of a failure, messages dropped).
    void SetMqttPane(const QString& text, const QColor& background, const QString& note);
    quint64 DroppedFrames() const { return m_dropped; }
    QString PaneText(int pane) const;
    QColor PaneBackground(int pane) const;
    CColorPane* Pane(int pane) const;

  protected:
    void changeEvent(QEvent* event) override;

  private:
    void RetranslateUi();

    QLabel* m_prompt;
    QString m_readyText;
    CColorPane* m_panes[5] = {}; // 1 to 3: port, baud, link; 4: MQTT, once it is used
    quint64 m_dropped = 0;
};

} // namespace Korvane
