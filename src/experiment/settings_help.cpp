#include "experiment/settings_help.h"

#include "experiment/settings_table.h"

namespace vorex {
namespace {

// When a field is used, as the help says it.
const char* UseText(const FieldSpec& f) {
  switch (f.use) {
    case FieldUse::ScanRate:
      return "every technique but square wave";
    case FieldUse::PulseTime:
      return "normal and differential pulse; 0.5 / frequency for square wave";
    case FieldUse::PulsePotential:
      return "the pulse techniques";
    case FieldUse::Frequency:
      return "square wave";
    case FieldUse::DigitalOnly:
      return "digital simulation";
    case FieldUse::DigitalSweep:
      return "the linear sweep in digital simulation";
    case FieldUse::Radius:
      return "every electrode but the planar one and the thin film";
    case FieldUse::Length:
      return "cylinder and hemicylinder (length), thin film (thickness)";
    case FieldUse::Area:
      return "typed for the planar electrode and the thin film, derived elsewhere";
    case FieldUse::RotatingDisk:
      return "the rotating disk";
    case FieldUse::Species:
      return "the species the mechanism has";
    case FieldUse::ChargeReaction:
      return "the charge-transfer reactions the mechanism has";
    case FieldUse::Homogeneous:
      return "the chemical reactions the mechanism has";
    case FieldUse::StoichiometricNumber:
      return "the chemical reactions a built-in mechanism has";
    case FieldUse::WrittenMechanism:
      return "the written mechanism (18)";
    case FieldUse::FitBound:
      return "while its parameter is fitted";
    case FieldUse::Preconcentration:
      return "while preconcentration is ticked";
    case FieldUse::Always:
      break;
  }
  return nullptr;
}

std::string DefaultText(const FieldSpec& f) {
  switch (f.kind) {
    case FieldKind::Check:
      return f.defaultValue == "1" ? "True" : "False";
    case FieldKind::Option:
      return f.id == FieldId::Mechanism ? f.defaultValue
                                        : "\"" + f.items[std::stoul(f.defaultValue) - 1] + "\"";
    case FieldKind::List:
      return f.id == FieldId::Scan ? "\"" + f.defaultValue + "\"" : f.defaultValue;
    default:
      return f.defaultValue.empty() ? "none" : f.defaultValue;
  }
}

std::string Entry(const FieldSpec& f) {
  std::string line = "    " + f.keyword;
  if (!f.unit.empty()) line += " [" + f.unit + "]";
  line += f.kind == FieldKind::Derived ? ", derived, shows " : ", default ";
  line += DefaultText(f);
  std::string text = f.tip.empty() ? f.label : f.tip;
  text += " (" + (f.label.empty() ? f.FullName() : f.label + ", " + f.FullName()) + ")";
  if (const char* use = UseText(f)) text += "; for " + std::string(use);
  return line + "\n        " + text + ".\n";
}

struct Group {
  const char* title;
  const char* frame;
};

}  // namespace

std::string SettingsHelp() {
  std::string out =
      "    technique : \"lsv\", \"cv\", \"dc\", \"np\", \"dp\", \"sw\", default \"lsv\"\n"
      "        Linear sweep (a single sweep; \"cv\" the same technique cycled), DC, normal pulse,\n"
      "        differential pulse, square wave (optTech).\n"
      "    digital : bool, default True\n"
      "        Digital simulation; False for the closed-form currents (CheckDigital).\n";
  out += Entry(TableField(FieldId::StepsPerPoint));
  out +=
      "    mechanism : 1..18 or a mechanism text, default 1\n"
      "        The reaction mechanism (mech); analytical simulation offers 1, 4 and 9, and\n"
      "        mechanism 3 is never offered. 18 is the mechanism written in mechanism_text\n"
      "        (digital simulation only); a text holding \"=\", such as \"A + e = B; B = C\",\n"
      "        chooses 18 and is the text: electron transfers \"A + 2e = B\", chemical steps of\n"
      "        first or second order \"2 B = C\", \"B + C = A + D\", species A..H. Its\n"
      "        transfers are numbered in the order written (n_1, E0_1, ks_1, alpha_1, ...), its\n"
      "        steps likewise (kf_1, kb_1, ...; 1/s, second order L/(mol s)).\n"
      "    electrode : \"planar\", \"sphere\", \"hemisphere\", \"microdisc\", \"cylinder\",\n"
      "        \"hemicylinder\", \"thin_film\", \"rde\" (or 1..8), default \"planar\" "
      "(optElectrode);\n"
      "        the thin film and the rotating disk are analytical only.\n"
      "    scan : \"single\", \"cycle\", \"2 cycles\", default \"single\" (ComboScan); cycles : 1 "
      "or 2\n"
      "        for technique \"cv\".\n";
  const Group groups[] = {{"Species A..D (E..H of a written mechanism)", "FrameSpecies"},
                          {"Charge-transfer reactions 1..3 (4 written)", "FrameHeter"},
                          {"Chemical reactions 1..3 (4 written)", "FrameHomo"},
                          {"Instrument", "FrameInstrument"},
                          {"Electrode", "FrameElectrode"},
                          {"Electrolyte", "FrameElectrolyte"},
                          {"Pre-treatment", ""},
                          {"Preconcentration", "FramePre"}};
  for (const Group& g : groups) {
    out += "\n  " + std::string(g.title) + ":\n";
    for (const FieldSpec& f : SettingsTable()) {
      const bool choice =
          f.kind == FieldKind::Option || f.id == FieldId::Scan || f.id == FieldId::Digital;
      if (f.frame == g.frame && !choice && f.window == "FormExpr") out += Entry(f);
    }
  }
  out +=
      "\n  Bare C, n, E0, alpha, ks, kf, kb and p mean the first species or reaction; a bare D\n"
      "  sets D of every species shown, and a species' own D_X wins over it.\n";
  return out;
}

}  // namespace vorex
