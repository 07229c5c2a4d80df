#pragma once

#include <QDialog>

#include <map>
#include <vector>

class QCheckBox;

namespace skarnel {

// Chooses which of the toolbar's buttons show.
class CToolbar_Customise_Dialog final : public QDialog {
    Q_OBJECT
public:
    CToolbar_Customise_Dialog(const std::vector<int>& shown, QWidget* parent = nullptr);

    std::vector<int> ChosenButtons() const;
    QCheckBox* BoxOf(int commandId) const { return boxes_.at(commandId); }

private:
    std::map<int, QCheckBox*> boxes_;
};

}  // namespace skarnel
