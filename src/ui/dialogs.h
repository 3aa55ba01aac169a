#pragma once

#include <functional>
#include <memory>

#include "ui/model_dialog.h"

namespace vorex {
class Program;
}

namespace vorex::ui {

// The dialogs of the run, each built once over its model and laid out as the chemist reads it:
// one group box for each frame of the model.
std::unique_ptr<ModelDialog> MakeTechniquesDialog(Program& program, QWidget* parent,
                                                  std::function<void()> afterAction);
std::unique_ptr<ModelDialog> MakeMechanismDialog(Program& program, QWidget* parent,
                                                 std::function<void()> afterAction);
std::unique_ptr<ModelDialog> MakeExperimentalDialog(Program& program, QWidget* parent,
                                                    std::function<void()> afterAction);
std::unique_ptr<ModelDialog> MakeOptionDialog(Program& program, QWidget* parent,
                                              std::function<void()> afterAction);
// X Data > Cut and Y Data > Subtract Background.
std::unique_ptr<ModelDialog> MakeCutDialog(Program& program, QWidget* parent,
                                           std::function<void()> afterAction);
std::unique_ptr<ModelDialog> MakeBackgroundDialog(Program& program, QWidget* parent,
                                                  std::function<void()> afterAction);

}  // namespace vorex::ui
