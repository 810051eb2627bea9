"""One line per figure: the value, what it is measured against, the ratio and the goal."""


def _amount(value, unit):
    text = f"{value:.1f}" if unit else f"{value:g}"
    return f"{text} {unit}".strip()


def figure(name, value, reference, unit, goal=None, goal_absolute=None, note="", ratio=True,
           against="bare", quotient=None):
    """`goal` bounds the ratio value/reference, or `quotient` where one is given (a median
    of paired ratios, say); `goal_absolute` bounds the value itself."""
    parts = [f"{name:<42}{_amount(value, unit):>12}"]
    parts.append(f"{against} {_amount(reference, unit):>9}" if reference is not None
                 else " " * (len(against) + 10))
    if quotient is None and ratio and reference:
        quotient = value / reference
    parts.append(f"ratio {quotient:5.2f}" if quotient is not None else " " * 11)
    if goal is not None:
        met = quotient is not None and quotient <= goal
        parts.append(f"goal ratio <= {goal:<5.2f} {'met' if met else 'MISSED'}")
    elif goal_absolute is not None:
        met = value <= goal_absolute
        verdict = "met" if met else "MISSED"
        parts.append(f"goal <= {_amount(goal_absolute, unit):<11} {verdict}")
    else:
        parts.append(f"{'(reported)':<25}")
    if note:
        parts.append(f"({note})")
    print("  ".join(parts), flush=True)
