#ifndef MERID_TEXT_PAGE_TEXTS_H_
#define MERID_TEXT_PAGE_TEXTS_H_

// The page's own texts, UTF-8, one catalogue per language: its headings,
// buttons, status lines, the labels of its inputs and controls, the ranges'
// words and why a typed value is refused.  What the page shares with
// merid-calc (the blocks, the band table's columns, the plots, the
// warnings) it takes from their catalogues instead.  {0}, {1} and {2}
// stand for what the page fills in.  In Russian the С of С1 and С2 is
// Cyrillic, as in merid-calc's own labels.

#include <array>
#include <string_view>
#include <type_traits>

#include "text/language.h"

namespace merid {

struct PageTexts {
  std::string_view language_name;  // in its own language
  std::string_view language_label;
  std::string_view title;

  // The six inputs, in the order they are typed: the label, the name and
  // unit of the range's text ("0.1 <= F <= 150 МГц").
  std::array<std::string_view, 6> input_labels;
  std::array<std::string_view, 6> input_names;
  std::array<std::string_view, 6> input_units;
  // The lower bound of Q0: {0} the factor, {1} Qn or its name, "1.2·12".
  std::string_view q0_bound;
  // The elements' units.
  std::string_view unit_pf;
  std::string_view unit_uh;

  // An input the request leaves out: the loaded Q of a built tank, RIN
  // from the amplifier's ratings.
  std::string_view qn_of_elements;
  std::string_view rin_of_estimate;
  std::string_view input_heading;
  std::string_view results_heading;
  std::string_view warnings_heading;
  std::string_view no_warnings;
  std::string_view loading;
  std::string_view copy_link;
  std::string_view link_copied;
  std::string_view download_report;  // {0} the results file's name
  std::string_view download_json;
  std::string_view json_file;
  std::string_view print;
  std::string_view refused_heading;
  // merid-calc's refusal of the request, {0} in its words.
  std::string_view request_refused;
  std::string_view plots_heading;
  std::string_view response_alt;
  std::string_view response_caption;
  std::string_view smith_alt;
  std::string_view smith_caption;
  std::string_view bands_heading;
  std::string_view bands_intro;
  std::string_view bands_run;
  std::string_view bands_stale;
  std::string_view fix_inputs_first;
  std::string_view rows_calculated;  // {0} the rows
  std::string_view band_heading;
  std::string_view coil_heading;
  std::string_view c1_below_cmin_row;

  // The heading over an infeasible design's message.
  std::string_view infeasible_heading;

  // The sections that open on request, and their controls by merid-calc's
  // option names.
  std::string_view section_network;
  std::string_view section_swr;
  std::string_view section_parts;
  std::string_view section_amplifier;
  std::string_view section_emissions;
  std::string_view section_bands;
  std::string_view network;
  std::string_view network_pi;
  std::string_view network_pi_l;
  std::string_view rmid;
  std::string_view swr;
  std::string_view retune;
  std::string_view elements;
  std::string_view elements_hint;  // {0} each network's elements
  std::string_view c1_range;
  std::string_view c2_range;
  std::string_view range_hint;
  std::string_view rin_from;
  std::string_view rin_from_hint;
  std::string_view cmin;
  std::string_view conduction;
  std::string_view push_pull;
  std::string_view rp;
  std::string_view coil_c;
  std::string_view c1_lead;
  std::string_view c2_lead;
  std::string_view limit;
  std::string_view limit_none;
  std::string_view limit_dbc;
  std::string_view margin;
  std::string_view fixed_coil;
  std::string_view optional_hint;
  // A number control's range: {0} the lower bound, {1} the upper.
  std::string_view bounds_inclusive;
  std::string_view bounds_exclusive;

  // A typed value's hint: {0} why it is refused, {1} the accepted range.
  std::string_view refused_hint;
  std::string_view out_of_range;  // {0} the range
  std::string_view no_value;
  std::string_view not_a_number;
  // {0} what the free-form rules read of the text, {1} what to type.
  std::string_view space_inside;
  std::string_view space_inside_plain;
  std::string_view grouping_comma;
  std::string_view second_comma;
  std::string_view text_after;
  std::string_view repeat_count;
  // {0} the dialogue's line buffer, {1} what its first bytes read.
  std::string_view longer_than_dialogue;
  std::string_view longer_unread;
  // A number whose shortest text is still longer than the dialogue's and
  // merid-calc's {0} characters.
  std::string_view too_many_digits;
  // A number of a list parted by commas: {0} which, {1} why it is refused;
  // a blank inside one that groups no thousands, where a comma was meant.
  std::string_view list_item_refused;
  std::string_view list_item_blank;
};

inline constexpr PageTexts kPageTextsRussian = {
    .language_name = "Русский",
    .language_label = "Язык",
    .title = "Расчет П-контура",
    .input_labels = {"Частота, МГц", "Нагруженная добротность Qn",
                     "Холостая добротность катушки Q0",
                     "Входное сопротивление R вх., Ом",
                     "Сопротивление нагрузки R вых., Ом",
                     "Мощность на входе P вх., Вт"},
    .input_names = {"F", "Qn", "Q0", "R вх.", "R вых.", "P вх."},
    .input_units = {"МГц", "", "", "Ом", "Ом", "Вт"},
    .q0_bound = "{0}·{1}",
    .unit_pf = "пФ",
    .unit_uh = "мкГн",
    .qn_of_elements = "у ваших деталей своя нагруженная добротность",
    .rin_of_estimate = "R вх. — из оценки по режиму усилителя",
    .input_heading = "Исходные данные",
    .results_heading = "Результаты",
    .warnings_heading = "Предупреждения",
    .no_warnings = "Предупреждений нет.",
    .loading = "Загрузка…",
    .copy_link = "Скопировать ссылку",
    .link_copied = "Ссылка скопирована.",
    .download_report = "Скачать отчет ({0})",
    .download_json = "Скачать JSON",
    .json_file = "merid.json",
    .print = "Печать",
    .refused_heading = "Запрос не принят",
    .request_refused = "Такой запрос не принимается (merid-calc: {0})",
    .plots_heading = "Графики",
    .response_alt = "АЧХ-U, АЧХ-I и S11 контура в зависимости от частоты",
    .response_caption = "АЧХ-U, АЧХ-I (дБ) и S11 в зависимости от частоты, МГц",
    .smith_alt = "Входное сопротивление контура на круговой диаграмме",
    .smith_caption = "Входное сопротивление на круговой диаграмме",
    .bands_heading = "Расчет по любительским диапазонам",
    .bands_intro =
        "Qn, Q0, R вх., R вых., P вх. и выбранные параметры — из "
        "исходных данных; частоты — края и середина каждого "
        "диапазона.",
    .bands_run = "Рассчитать таблицу",
    .bands_stale = "Исходные данные изменились: таблицу нужно пересчитать.",
    .fix_inputs_first = "Сначала исправьте исходные данные.",
    .rows_calculated = "Рассчитано строк: {0}.",
    .band_heading = "Диапазон",
    .coil_heading = "Катушка",
    .c1_below_cmin_row = "С1 меньше Cmin",
    .infeasible_heading = "Контур не рассчитан",
    .section_network = "Схема контура",
    .section_swr = "Рассогласованная нагрузка (КСВ)",
    .section_parts = "Свои детали и пределы конденсаторов",
    .section_amplifier = "Усилитель: R вх. по режиму и наименьшая С1",
    .section_emissions = "Гармоники в нагрузке и норма",
    .section_bands = "Таблица по диапазонам",
    .network = "Схема",
    .network_pi = "П-контур",
    .network_pi_l = "П-L-контур",
    .rmid = "R пром. П-L-контура, Ом",
    .swr = "КСВ нагрузки, от 1 до 10",
    .retune = "Подстраивать С1 и С2 на каждую нагрузку",
    .elements = "Свои детали (вместо синтеза)",
    .elements_hint = "через запятую: {0}",
    .c1_range = "Пределы С1, пФ",
    .c2_range = "Пределы С2 (П-L: С ср.), пФ",
    .range_hint = "МИН,МАКС в пФ, например 10,250",
    .rin_from = "Оценка R вх. по режиму",
    .rin_from_hint =
        "tube:Ea,Ia,класс (класс A, AB, B или C) или "
        "transistor:Vcc,Vнас,P",
    .cmin = "Наименьшая С1 усилителя (Cmin), пФ",
    .conduction = "Угол отсечки, полный, градусов",
    .push_pull = "Двухтактный каскад: баланс, дБ",
    .rp = "Выходное сопротивление прибора, Ом",
    .coil_c = "Собственная емкость катушки, пФ",
    .c1_lead = "Индуктивность выводов С1, нГн",
    .c2_lead = "Индуктивность выводов С2, нГн",
    .limit = "Норма на гармоники",
    .limit_none = "нет",
    .limit_dbc = "Своя норма: дБ ниже несущей",
    .margin = "Запас до нормы, дБ",
    .fixed_coil = "Одна катушка (отвод) на диапазон",
    .optional_hint = "необязательно",
    .bounds_inclusive = "от {0} до {1}",
    .bounds_exclusive = "больше {0}, до {1}",
    .refused_hint = "{0}; {1}",
    .out_of_range = "вне диапазона",
    .no_value = "нет значения",
    .not_a_number = "не число",
    .space_inside = "пробел заканчивает число, читается {0}; наберите {1}",
    .space_inside_plain = "пробел заканчивает число, читается {0}",
    .grouping_comma =
        "запятая — десятичная точка, читается {0}; для {1} "
        "наберите {1}",
    .second_comma = "вторая запятая заканчивает число, читается {0}",
    .text_after = "после числа текст, читается {0}; наберите только число",
    .repeat_count = "множитель повтора перед числом, читается {0}",
    .longer_than_dialogue = "; диалог читает только {0} знаков: {1}",
    .longer_unread =
        "; диалог читает только {0} знаков и не находит в них "
        "числа",
    .too_many_digits =
        "число не помещается в {0} знаков, которые читают диалог и "
        "merid-calc; округлите его",
    .list_item_refused = "число {0}: {1}",
    .list_item_blank = "в числе {0} пробел: числа разделяются запятыми",
};

inline constexpr PageTexts kPageTextsEnglish = {
    .language_name = "English",
    .language_label = "Language",
    .title = "Pi-network tank design",
    .input_labels = {"Frequency F, MHz", "Loaded Q, QN",
                     "Unloaded Q of the coil, Q0", "Input resistance RIN, ohm",
                     "Load resistance ROUT, ohm", "Input power PIN, W"},
    .input_names = {"F", "QN", "Q0", "RIN", "ROUT", "PIN"},
    .input_units = {"MHz", "", "", "ohm", "ohm", "W"},
    .q0_bound = "{0}·{1}",
    .unit_pf = "pF",
    .unit_uh = "uH",
    .qn_of_elements = "your elements have a loaded Q of their own",
    .rin_of_estimate = "RIN is the estimate from the amplifier's ratings",
    .input_heading = "Inputs",
    .results_heading = "Results",
    .warnings_heading = "Warnings",
    .no_warnings = "No warnings.",
    .loading = "Loading…",
    .copy_link = "Copy link",
    .link_copied = "Link copied.",
    .download_report = "Download the report ({0})",
    .download_json = "Download JSON",
    .json_file = "merid.json",
    .print = "Print",
    .refused_heading = "Request refused",
    .request_refused = "This request is refused (merid-calc: {0})",
    .plots_heading = "Plots",
    .response_alt =
        "The tank's voltage and current responses and S11 "
        "against frequency",
    .response_caption =
        "Voltage and current responses (dB) and S11 against "
        "frequency, MHz",
    .smith_alt = "The tank's input impedance on a Smith chart",
    .smith_caption = "Input impedance on a Smith chart",
    .bands_heading = "Design for the amateur bands",
    .bands_intro =
        "QN, Q0, RIN, ROUT, PIN and the options chosen are taken from the "
        "inputs; the frequencies are each band's edges and centre.",
    .bands_run = "Calculate the table",
    .bands_stale = "The inputs have changed: calculate the table again.",
    .fix_inputs_first = "Correct the inputs first.",
    .rows_calculated = "Rows calculated: {0}.",
    .band_heading = "Band",
    .coil_heading = "Coil",
    .c1_below_cmin_row = "C1 below Cmin",
    .infeasible_heading = "No network",
    .section_network = "Network",
    .section_swr = "Mismatched load (SWR)",
    .section_parts = "Your parts and capacitor ranges",
    .section_amplifier = "Amplifier: RIN from its ratings and the least C1",
    .section_emissions = "Harmonics at the load and a limit",
    .section_bands = "Band table",
    .network = "Network",
    .network_pi = "pi network",
    .network_pi_l = "pi-L network",
    .rmid = "Pi-L middle resistance RMID, ohm",
    .swr = "Load SWR, 1 to 10",
    .retune = "Retune C1 and C2 into every load",
    .elements = "Your elements (instead of a design)",
    .elements_hint = "separated by commas: {0}",
    .c1_range = "C1 range, pF",
    .c2_range = "C2 range (pi-L: CMID), pF",
    .range_hint = "MIN,MAX in pF, as in 10,250",
    .rin_from = "RIN from the amplifier's ratings",
    .rin_from_hint =
        "tube:EA,IA,CLASS (class A, AB, B or C) or "
        "transistor:VCC,VSAT,P",
    .cmin = "Least C1 of the amplifier (Cmin), pF",
    .conduction = "Conduction angle, full, degrees",
    .push_pull = "Push-pull stage: balance, dB",
    .rp = "Device output resistance, ohm",
    .coil_c = "Coil self-capacitance, pF",
    .c1_lead = "C1 lead inductance, nH",
    .c2_lead = "C2 lead inductance, nH",
    .limit = "Harmonic limit",
    .limit_none = "none",
    .limit_dbc = "Own limit: dB below the carrier",
    .margin = "Margin to the limit, dB",
    .fixed_coil = "One coil (a tap) per band",
    .optional_hint = "optional",
    .bounds_inclusive = "{0} to {1}",
    .bounds_exclusive = "above {0}, up to {1}",
    .refused_hint = "{0}; {1}",
    .out_of_range = "out of range",
    .no_value = "no value",
    .not_a_number = "not a number",
    .space_inside = "a space ends the number, which reads {0}; type {1}",
    .space_inside_plain = "a space ends the number, which reads {0}",
    .grouping_comma =
        "the comma is the decimal point, so it reads {0}; for "
        "{1} type {1}",
    .second_comma = "the second comma ends the number, which reads {0}",
    .text_after =
        "text after the number, which reads {0}; type the number "
        "alone",
    .repeat_count = "a repeat count before the number, which reads {0}",
    .longer_than_dialogue = "; the dialogue reads only {0} characters: {1}",
    .longer_unread =
        "; the dialogue reads only {0} characters and finds no "
        "number in them",
    .too_many_digits =
        "the number does not fit the {0} characters that the dialogue and "
        "merid-calc read; round it",
    .list_item_refused = "number {0}: {1}",
    .list_item_blank = "number {0} holds a space: part the numbers by commas",
};

inline constexpr const PageTexts& catalogue(std::type_identity<PageTexts>,
                                            Language language) {
  return language == Language::kEnglish ? kPageTextsEnglish : kPageTextsRussian;
}

inline constexpr const PageTexts& page_texts(Language language) {
  return catalogue(std::type_identity<PageTexts>{}, language);
}

}  // namespace merid

#endif  // MERID_TEXT_PAGE_TEXTS_H_
