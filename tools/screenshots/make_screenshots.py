#!/usr/bin/env python3
"""Rebuilds the README's screenshots in docs/ by playing the game headless with orvela-run.

    tools/screenshots/make_screenshots.py [BUILD_FOLDER]

The headless game is deterministic (its clock is virtual, so the random seed is the same on
every run). The player picks the 80-piece picture, then joins a few pieces: each round replays
the game from the start with one more move, reads the table from the runner's state dump and
plans the next move (the piece or group on top is carried to its place beside a neighbour).
Then it takes the pictures: the chooser, the table with a few groups, a group being carried,
and the information window after sort up.
"""
import json
import os
import shutil
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
BUILD = os.path.abspath(sys.argv[1]) if len(sys.argv) > 1 else os.path.join(ROOT, 'build')
RUN = os.path.join(BUILD, 'orvela-run')
WORK = tempfile.mkdtemp(prefix='orvela-shots-')

# Play, the 80-piece picture, and the cut with its waiting screen.
START = ['wait 85', 'click 400 335', 'wait 45', 'move 590 420', 'wait 3', 'shot chooser.png',
         'click 590 420', 'wait 420']
JOINS = 6


def run(lines):
    """Plays the script from a fresh start; returns the last dump, if any."""
    script = os.path.join(WORK, 'script.txt')
    with open(script, 'w') as f:
        f.write('\n'.join(lines + ['dump state.json']) + '\n')
    home = os.path.join(WORK, 'home')
    shutil.rmtree(home, ignore_errors=True)
    os.makedirs(home)
    subprocess.run([RUN, '--home', home, script], cwd=WORK, stdout=subprocess.DEVNULL, check=True)
    with open(os.path.join(WORK, 'state.json')) as f:
        return json.load(f)


def members(entry):
    return entry['group'] if 'group' in entry else [entry]


def next_move(state):
    """A press on the top entry and a press where it joins a neighbour, or None."""
    entries = state['entries']
    top = entries[-1]
    mine = {m['piece'] for m in members(top)}
    others = [m for e in entries for m in members(e) if m['piece'] not in mine]
    best = None
    for m in members(top):
        for n in others:
            # Neighbours: their solved places touch side by side or one above the other.
            side = abs(n['yD'] - m['yD']) < 6 and abs(n['xD'] - m['xD']) < 80
            above = abs(n['xD'] - m['xD']) < 6 and abs(n['yD'] - m['yD']) < 80
            if not (side or above):
                continue
            dx = n['x'] + m['xD'] - n['xD'] - m['x']
            dy = n['y'] + m['yD'] - n['yD'] - m['y']
            gx = int(min(max(m['x'] + m['w'] / 2, 3), 796))
            gy = int(min(max(m['y'] + m['h'] / 2, 45), 596))
            if 'group' in top:
                tx, ty = gx + dx, gy + dy
            else:
                tx, ty = m['x'] + dx + m['w'] // 2, m['y'] + dy + m['h'] // 2
            if 3 <= tx <= 796 and 45 <= ty <= 596:
                cost = abs(dx) + abs(dy)
                if best is None or cost < best[0]:
                    best = (cost, [f'click {gx} {gy}', 'wait 2', f'click {int(tx)} {int(ty)}',
                                   'wait 3'])
    return best[1] if best else None


def main():
    moves = []
    for _ in range(JOINS):
        move = next_move(run(START + moves))
        if not move:
            break
        moves += move
    state = run(START + moves + ['wait 30', 'shot play.png'])
    group = max((e for e in state['entries'] if 'group' in e), key=lambda e: len(e['group']))
    m = group['group'][0]
    grab = f"click {int(m['x'] + m['w'] / 2)} {int(m['y'] + m['h'] / 2)}"
    run(START + moves + ['wait 30', grab, 'wait 3', 'move 420 330', 'wait 25',
                         'shot carried-group.png'])
    # Sort up, confirmed: the pieces fly home, the picture fades in, the window comes up.
    run(START + moves + ['wait 30', 'click 265 17', 'wait 25', 'click 520 350', 'wait 820',
                         'shot win.png'])
    for name in ['chooser', 'play', 'carried-group', 'win']:
        shutil.copy(os.path.join(WORK, name + '.png'),
                    os.path.join(ROOT, 'docs', 'screenshot-' + name + '.png'))
    shutil.rmtree(WORK)


if __name__ == '__main__':
    main()
