#pragma once

#include "Dialog.h"
#include "PrintMargins.h"

#include <array>
#include <optional>
#include <string>

// "Margin": the four print margins in millimetres (edits 1001 left, 1002
// top, 1003 right, 1004 bottom), each 0 to 9999. When an edit loses the
// focus its margin is kept within the page: raised to the printer's minimum
// for that side, else lowered to the page's extent less the opposite margin
// less 10 mm; then rounded to two decimals.
class CDialogMargin : public CDialog {
    Q_OBJECT
public:
    static constexpr int IDC_LEFT = 1001;
    static constexpr int IDC_TOP = 1002;
    static constexpr int IDC_RIGHT = 1003;
    static constexpr int IDC_BOTTOM = 1004;

    explicit CDialogMargin(QWidget* parent = nullptr);

    // Each value is rounded.
    void SetMargins(double top, double bottom, double left, double right);
    // The page and the printer's minimum margins the clamping uses.
    void SetLimits(const PrintMargins& limits) { limits_ = limits; }

    double top = 0.0;
    double bottom = 0.0;
    double left = 0.0;
    double right = 0.0;

    // Reads the edit `id` (false when it is out of range, with a message
    // once per bad entry), clamps its margin and writes the values that
    // read well back.
    bool ClampEdit(int id);

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    bool ReadEdits();
    void WriteEdits();
    void WriteEdit(int id);
    double& Field(int id);
    // The edit's value when it is a number from 0 to 9999; no message.
    std::optional<double> ValueOf(int id) const;

    PrintMargins limits_;
    // Per edit (left, top, right, bottom), the bad text last reported.
    std::array<std::string, 4> rejected_;
};

// A margin rounded as the dialog keeps it: 0 for a value of 0 or less (or
// not a number), otherwise two decimals.
double RoundMargin(double value);
// A margin within its side's limits, then rounded (see CDialogMargin). A
// page not measured yet (extent 0) sets no upper bound.
double ClampMargin(double value, double minimum, double pageExtent, double opposite);

// Runs the margin dialog on the print margins; true, with the margins
// changed, when it ended with OK. The print preview's Margin button calls it.
bool EditPrintMargins(PrintMargins& margins, QWidget* parent);
