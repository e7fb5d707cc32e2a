#!/usr/bin/env python3
"""Writes the level prefabs and the level list from the compact maps below.

One-off helper: the written JSON is the source from then on (the level editor saves
into the same files). Run it only to start a level afresh:

    tools/levels/make_levels.py Content/Prefabs [Lvl_05 ...]

A map is 20 columns by 11 rows of 2 x 2 cells covering the 40 x 22 view, row 0 at the
lowest Y: the bottom of the screen, so a map reads upside down. Legend:
    #  wall            P  player          1  pistol        2  shotgun
    a  ant             S  ant sack        c  short centipede
    C  centipede       h  chaser          o  pill          E  exit
    X  boss exit, shown when the last centipede dies
    $  pill-chase spawner                 %  survival spawner
"""
import collections
import json
import math
import os
import struct
import sys

COLS, ROWS, CELL = 20, 11, 2.0
SPEED_MAX = 8.0  # "SpeedMax" of "Player"

PREFABS = {
    '#': ('Wall', 'Wall'), 'P': ('Player', 'Player'), '1': ('Pkup_Pistol', 'PistolPickup'),
    '2': ('Pkup_Shotgun', 'ShotgunPickup'), 'a': ('En_Ant', 'Ant'), 'S': ('En_AntSack', 'AntSack'),
    'c': ('En_CentipedeShort', 'Centipede'), 'C': ('En_Centipede', 'Centipede'), 'h': ('En_Chaser', 'Chaser'),
    'o': ('Pkup_Pill', 'Pill'), 'E': ('Exit', 'Exit'), 'X': ('Exit', 'Sc_Exit'),
    '$': ('En_PacmanSpawner', 'PacmanSpawner'), '%': ('En_SurvivalSpawner', 'SurvivalSpawner'),
}
BODIED = set('#P12aShoEX')  # the centipedes place their own cells
FACING = set('aSh')
# Seconds a fair player spends on one insect of each kind, for the first guess at a par.
CLEAR_TIME = {'a': 1.0, 'S': 2.5, 'c': 2.5, 'C': 6.0, 'h': 1.5}
LIGHT_SETS = [
    ('ffb070', 'd2ebff', '7aa0ff'), ('ffd080', 'a0ffc0', 'ff9fb0'), ('c0a0ff', 'ffe0b0', '80e0ff'),
    ('ff8060', 'ffffff', '90b0ff'), ('a0ff90', 'ffc070', 'b0c0ff'),
]


class Level:
    def __init__(self, name, title, rows, pistol_ammo=40, shotgun_ammo=12, sack_ants=None, margin=1.5, par=None):
        assert len(rows) == ROWS, name
        for row in rows:
            assert len(row) == COLS, (name, row)
        self.name, self.title, self.rows = name, title, rows
        self.pistol_ammo, self.shotgun_ammo = pistol_ammo, shotgun_ammo
        self.sack_ants, self.margin, self.par = sack_ants, margin, par


def cell_pos(col, row):
    return (-19.0 + CELL * col, -10.0 + CELL * row)


def num(value):
    """A float as the prefab writer prints it: single precision, 9 significant digits."""
    single = struct.unpack('<f', struct.pack('<f', value))[0]
    return '0' if single == 0 else '%.9g' % single


def light(pos, rgb, size, image='SoftLight'):
    return {'Name': 'Light', 'InstanceProperties': {
        'Pos2dCmp': {'Pos': {'X': num(pos[0]), 'Y': num(pos[1])}},
        'SpriteCmp': {'ImageName': image, 'Size': {'X': num(size), 'Y': num(size)}},
        'TintCmp': {'Tint': {'A': '1', 'Rgb': rgb}}}, 'Prefab': 'LevelLight'}


def thing(level, ch, col, row, index):
    prefab, name = PREFABS[ch]
    x, y = cell_pos(col, row)
    props = {}
    if ch in BODIED:
        body = {}
        if ch in FACING:
            # Insects face the map's middle, a little askew so no two look alike.
            body['Angle'] = num(math.atan2(-y, -x) + 0.3 * math.sin(index * 1.7))
        body['Pos'] = {'X': num(x), 'Y': num(y)}
        props['B2BodyCmp'] = body
    else:
        props['Pos2dCmp'] = {'Pos': {'X': num(x), 'Y': num(y)}}
    if ch == '1':
        props['Pkup_WeaponBhv'] = {'AmmoCount': str(level.pistol_ammo)}
    if ch == '2':
        props['Pkup_WeaponBhv'] = {'AmmoCount': str(level.shotgun_ammo)}
    if ch == 'S' and level.sack_ants is not None:
        props['En_AntSackBhv'] = {'AntCount': str(level.sack_ants)}
    return {'Name': name, 'InstanceProperties': props, 'Prefab': prefab}


def level_prefab(level, index):
    colours = LIGHT_SETS[index % len(LIGHT_SETS)]
    objects = [{'Name': 'Background', 'Prefab': 'LevelBackground'},
               {'Name': 'FillLight', 'InstanceProperties': {'Pos2dCmp': {'Pos': {'X': '0', 'Y': '0'}}},
                'Prefab': 'LevelFillLight'},
               light((-12, -3), colours[0], 22), light((0, 3), colours[1], 20), light((12, -2), colours[2], 20)]
    order = '#EX12oPaShcC$%'  # walls first, so the list reads as map, then things
    placed = []
    for row in range(ROWS):
        for col in range(COLS):
            ch = level.rows[row][col]
            if ch in PREFABS:
                placed.append((order.index(ch), row, col, ch))
            else:
                assert ch in ' .', (level.name, ch)
    for index, (_, row, col, ch) in enumerate(sorted(placed)):
        objects.append(thing(level, ch, col, row, index))
    return {'Components': '', 'AutoCreate': objects}


def find(level, chars):
    return [(c, r) for r in range(ROWS) for c in range(COLS) if level.rows[r][c] in chars]


def shortest_path_cells(level):
    """Steps from the player to the exit over non-wall cells, 8-way without cutting corners."""
    start, goals = find(level, 'P'), set(find(level, 'EX'))
    if not start or not goals:
        return None
    dist = {start[0]: 0.0}
    queue = collections.deque([start[0]])
    while queue:  # plain BFS on unit steps is close enough for a first par
        c, r = queue.popleft()
        for dc, dr in ((1, 0), (-1, 0), (0, 1), (0, -1)):
            n = (c + dc, r + dr)
            if 0 <= n[0] < COLS and 0 <= n[1] < ROWS and n not in dist and level.rows[n[1]][n[0]] != '#':
                dist[n] = dist[(c, r)] + 1
                queue.append(n)
    reached = [dist[g] for g in goals if g in dist]
    return min(reached) if reached else None


def first_par(level):
    if level.par is not None:
        return level.par
    steps = shortest_path_cells(level)
    if steps is None:
        return None
    run = steps * CELL / SPEED_MAX
    fight = sum(CLEAR_TIME.get(ch, 0.0) for row in level.rows for ch in row)
    return int(math.ceil((run + fight) * level.margin / 5.0) * 5)


def list_entry(name, title, par=None, main=True):
    data = {}  # properties in the order the prefab writer puts them
    if not main:
        data['InMainProgression'] = 'false'
    data['LevelName'] = title
    if par is not None:
        data['ParTime'] = str(par)
    return {'Name': name, 'InstanceProperties': {'LevelDataCmp': data}, 'Prefab': 'LevelData'}


def write_json(path, data):
    with open(path, 'w') as out:
        json.dump(data, out, indent=4)
        out.write('\n')


def main():
    from level_maps import MAIN, SPECIAL  # noqa: E402 (the maps live beside this file)
    folder = sys.argv[1]
    only = set(sys.argv[2:])
    for index, level in enumerate(MAIN + SPECIAL):
        if not only or level.name in only:
            write_json(os.path.join(folder, level.name + '.json'), level_prefab(level, index))
    entries = [list_entry(l.name, l.title, first_par(l)) for l in MAIN]
    entries += [list_entry(l.name, l.title, None, main=False) for l in SPECIAL]
    if not only:
        write_json(os.path.join(folder, 'LevelList.json'), {'Components': {'LevelListBhv': ''}, 'AutoCreate': entries})


if __name__ == '__main__':
    sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
    main()
