#include "text/warning_texts.h"

namespace merid {
namespace {

constexpr WarningTexts kEnglish = {
    "C1 = {1} pF is negative: the network needs a shunt inductor of {0} uH "
    "there",
    "KU = {0} dB is negative: under the matched drive the network passes the "
    "second harmonic better than the fundamental",
    "KI = {0} dB is negative: under the high-impedance drive the network "
    "passes the second harmonic better than the fundamental",
    "the -1 dB band of the voltage response (bw_u = {0} kHz) is cut by the "
    "bottom of the sweep window ({1} kHz): it is not a band around F",
    "the -1 dB band of the voltage response (bw_u = {0} kHz) is cut by the "
    "top of the sweep window ({1} MHz): it is not a band around F",
    "the -1 dB band of the current response (bw_i = {0} kHz) is cut by the "
    "bottom of the sweep window ({1} kHz): it is not a band around F",
    "the -1 dB band of the current response (bw_i = {0} kHz) is cut by the "
    "top of the sweep window ({1} MHz): it is not a band around F",
    "S11 crosses 0.1 only once, at {0} kHz: bw_s11 is that frequency, not a "
    "width",
    "the S11 sweep found {0} crossings of 0.1: bw_s11 = 0 is no width",
    "|S11| <= 0.1 at {0} point(s) around F of the sweep's {1} kHz steps: "
    "bw_s11 = 0 is no width",
    "S11 at F is {0}, above 0.01: the network does not match RIN",
    "C1 = {0} pF is below CMIN = {1} pF by {2} pF",
    "the tank's efficiency is {0} %, below {2} %: {1} W of PIN heat the "
    "coils",
    "{0} = {1} pF is above {2} pF: a tank capacitor that large is rarely "
    "built; check the loaded Q and the resistances",
    "{0} = {1} uH is below {2} uH: a coil that small is mostly its leads",
    "the current in {0} is {1} A RMS, above {2} A: few parts carry it",
    "RMID = {0} ohm is not above {1} ohm, the lower of RIN and ROUT: one "
    "section transforms past the other's resistance and the other back, "
    "and the suppression can fall below the pi network's",
    "RMID = {0} ohm is not below {1} ohm, the higher of RIN and ROUT: one "
    "section transforms past the other's resistance and the other back, "
    "and the suppression can fall below the pi network's",
    "RIN = ROUT = {0} ohm: the L section has nothing to transform",
    "the --rin-from estimate RIN = {0} ohm is below {1} ohm: no amplifier "
    "of these ratings works into so low a load; check them",
    "the --rin-from estimate RIN = {0} ohm is above {1} ohm: check the "
    "ratings",
    "the --rin-from estimate stands for {0} W, PIN is {1} W: they differ by "
    "more than 10 %",
    "harmonic {0} lies at or above the coils' self-resonance ({1} MHz): the "
    "coil is a capacitor there, and its level is only as good as the strays "
    "given",
    "harmonic {0} at the load is {1} dBc, above the limit of {2} dBc: the "
    "rule is not met",
};

constexpr WarningTexts kRussian = {
    "C1 = {1} пФ < 0: на входе нужна индуктивность {0} мкГн",
    "KU = {0} дБ < 0: от источника с R вх. вторая гармоника проходит лучше "
    "основной частоты",
    "KI = {0} дБ < 0: от источника с 11·R вх. вторая гармоника проходит "
    "лучше основной частоты",
    "полоса АЧХ-U по -1 дБ ({0} кГц) упирается в нижний край развертки "
    "({1} кГц): это не полоса около F",
    "полоса АЧХ-U по -1 дБ ({0} кГц) упирается в верхний край развертки "
    "({1} МГц): это не полоса около F",
    "полоса АЧХ-I по -1 дБ ({0} кГц) упирается в нижний край развертки "
    "({1} кГц): это не полоса около F",
    "полоса АЧХ-I по -1 дБ ({0} кГц) упирается в верхний край развертки "
    "({1} МГц): это не полоса около F",
    "S11 пересекает 0.1 один раз, на {0} кГц: полоса S11(0.1) - эта "
    "частота, а не ширина",
    "развертка S11 нашла пересечений 0.1: {0}; полоса S11(0.1) = 0 - не "
    "ширина",
    "|S11| <= 0.1 в точках около F: {0} при шаге развертки {1} кГц; полоса "
    "S11(0.1) = 0 - не ширина",
    "S11 на F = {0}, больше 0.01: контур не согласован с R вх.",
    "C1 = {0} пФ меньше Cmin = {1} пФ на {2} пФ",
    "КПД контура {0} %, меньше {2} %: {1} Вт из P вх. греют катушки",
    "{0} = {1} пФ больше {2} пФ: такие конденсаторы в контурах редки; "
    "проверьте Qn и сопротивления",
    "{0} = {1} мкГн меньше {2} мкГн: такая катушка - почти одни выводы",
    "ток в {0} {1} А (эфф.), больше {2} А: его выдержат немногие детали",
    "R пром. = {0} Ом не больше {1} Ом, меньшего из R вх. и R вых.: одно "
    "звено проскакивает сопротивление другого, другое возвращает, "
    "подавление может быть хуже, чем у П-контура",
    "R пром. = {0} Ом не меньше {1} Ом, большего из R вх. и R вых.: одно "
    "звено проскакивает сопротивление другого, другое возвращает, "
    "подавление может быть хуже, чем у П-контура",
    "R вх. = R вых. = {0} Ом: L-звену нечего трансформировать",
    "оценка --rin-from R вх. = {0} Ом меньше {1} Ом: усилитель с такими "
    "данными на такую нагрузку не работает; проверьте их",
    "оценка --rin-from R вх. = {0} Ом больше {1} Ом: проверьте данные",
    "оценка --rin-from рассчитана на {0} Вт, а P вх. = {1} Вт: разница "
    "больше 10 %",
    "гармоника {0} на собственном резонансе катушек ({1} МГц) или выше: там "
    "катушка - конденсатор, и ее уровень верен лишь настолько, насколько "
    "заданы паразитные емкость и индуктивность",
    "гармоника {0} на нагрузке {1} дБн, выше нормы {2} дБн: норма не "
    "выполнена",
};

}  // namespace

const WarningTexts& warning_texts(Language language) {
  return language == Language::kEnglish ? kEnglish : kRussian;
}

}  // namespace merid
