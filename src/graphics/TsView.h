#pragma once

#include "TsVectors.h"

#include <QWidget>

// The vector diagram of a "TsView" page control: a grey reference circle for magnitude 100,
// crossed axes and, for each of the four vectors of registers 20 to 27 with a magnitude of at
// least 1, a red line from the centre with a dot at its tip and a label (name, angle, magnitude).
// It only draws; clicks do nothing.
class CTsView : public QWidget {
    Q_OBJECT

public:
    explicit CTsView(QWidget* parent = nullptr);
    ~CTsView() override;

    // Called on every refresh tick; repaints only when one of the eight values changed.
    void Refresh();

    const CTsVectors& GetVectors() const { return m_vectors; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CTsVectors m_vectors;
};
