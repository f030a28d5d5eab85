#!/usr/bin/env python3
"""Reads the JSON Lines of pivolo-solve --json (or --check --json) on standard input and
writes the text that pivolo-solve writes without --json, so that the two can be compared:
every key of every object is read, and an object that lacks one fails."""
import json
import sys


def step_line(step):
    return f"{step['result']}\t= {step['left']} {step['operator']} {step['right']}"


def step_text(step):
    return f"{step['left']} {step['operator']} {step['right']} = {step['result']}"


def where(step, position):
    return f"step {step} position {position}" if step else f"position {position}"


def solution(rank, shown, value, out):
    out.append(f"solution: {rank} steps: {len(shown['steps'])} largest: {shown['largest']}")
    out.extend("step: " + step_line(s) for s in shown["steps"])
    out.append(f"expression: {shown['expression']} = {value}")


def solved(o, out):
    out.extend("list: " + entry for entry in o["list"])
    out.extend("stdout: " + line for line in o["stdout"])
    out.append(f"result: {o['result']} reached: {o['reached']}")
    for v in o.get("values", []):
        reached = " reached" if v["side"] != "target" and v["reached"] else ""
        out.append(f"value: {v['value']} {v['side']}{reached}")
        out.append(f"solutions: {v['solutions']}")
        for shown in v["shown"]:
            solution(shown["rank"], shown, v["value"], out)


def checked(o, out):
    answer = o["answer"].replace("\r\n", ";;").replace("\n", ";").replace("\r", ";")
    answer = "".join("?" if (ord(c) < 32 and c != "\t") or c == "\x7f" else c for c in answer)
    out.append(f"answer: {answer}" if answer else "answer:")
    out.append("valid: yes" if o["valid"] else "valid: no")
    if not o["valid"]:
        for f in o["faults"]:
            out.append(f"fault: {where(f.get('step'), f['position'])}: {f['message']}")
        return
    out.append(f"value: {o['value']} distance: {o['distance']} best: {'yes' if o['best'] else 'no'}")
    if not o["best"]:
        if o["target_made"]:
            out.append(f"nearest: {o['target']} target")
        else:
            for side in ("above", "below"):
                if side in o["nearest"]:
                    out.append(f"nearest: {o['nearest'][side]} {side}")
    if o["reordered"]:
        out.append("reordered: " + "; ".join(step_text(s) for s in o["order"]))
    for s in o["left_out"]:
        out.append(f"left-out: {where(s['step'], s['position'])}: {step_text(s)} {s['role']}")
    if o["rank"] is not None:
        out.append(f"solutions: {o['solutions']}")
        solution(o["rank"], o["solution"], o["value"], out)


def main():
    out = []
    for line in sys.stdin:
        o = json.loads(line)
        if "game" not in o:
            out.append(f"error: line {o['line']}: {o['error']}")
            continue
        out.append("game: " + o["game"])
        if "error" in o:
            out.append("error: " + o["error"])
        elif "answer" in o:
            checked(o, out)
        else:
            solved(o, out)
    sys.stdout.write("".join(line + "\n" for line in out))


main()
