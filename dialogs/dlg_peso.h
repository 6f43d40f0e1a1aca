#pragma once
// DlgPeso: the weight chart (template 140). It plots the table of daily weights
// that the "Peso" button filled (CGlobals::afDailyWeights) against the day of
// pregnancy, on a scale fitted to the data at every paint. With her profile
// and a single pregnancy the recommended band lies behind the dots, and the
// scale takes it in; the caption under the chart says her body mass index
// and the recommended gain. No interaction: "Aceptar" and "Cancelar" both
// close it.

#include <optional>

#include "dialogs/weight_band.h"
#include "platform/dialog.h"

namespace gestalia {

struct CGlobals;

class DlgPeso : public CDialog {
  public:
    // Reads the daily weight table of `globals`, which must outlive the dialog.
    explicit DlgPeso(const CGlobals& globals) : m_globals(globals) {}

    bool OnInitDialog(IDialogWindow& window) override;
    void OnPaint(IDrawSurface& surface) override;

  private:
    // The band for the agenda's profile and dating; nothing without one.
    std::optional<CChartBand> Band() const;

    const CGlobals& m_globals;
};

}  // namespace gestalia
