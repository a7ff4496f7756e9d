"""Helpers that write Qt Designer forms (.ui XML) from a compact description of groups,
layouts and controls with their numeric ids. Used by the scripts that generate the panels'
forms; the forms themselves are plain .ui files."""

from xml.sax.saxutils import escape

CUSTOM = {
    "Korvane::CButtonEx": ("QPushButton", "gui/widgets/button_ex.h"),
    "Korvane::CLamp": ("QLabel", "gui/widgets/lamp.h"),
    "Korvane::CDigiStatic": ("QWidget", "gui/widgets/digi_static.h"),
    "Korvane::CPictureEx": ("QWidget", "gui/widgets/picture_ex.h"),
    "Korvane::CVideoArea": ("QFrame", "gui/wifi_cars/snapshot_video.h"),
    "Korvane::CDotGrid": ("QTableWidget", "gui/boards/dot_grid.h"),
}


class Form:
    def __init__(self, cls, title, width, height):
        self.cls, self.title, self.width, self.height = cls, title, width, height
        self.used = set()
        self.names = set()

    def prop(self, name, kind, value, ind, notr=False, comment=None):
        pad = " " * ind
        if kind == "string":
            # Only words are translated: a text without letters ("1234", "+", "0°") and a
            # device value's placeholder are the same in every language. A comment tells
            # translators apart two equal captions that mean different things.
            mark = ' notr="true"' if notr or not any(ch.isalpha() for ch in value) else ""
            if comment:
                mark += f' comment="{escape(comment)}"'
            return f'{pad}<property name="{name}">\n{pad}  <string{mark}>{escape(value)}</string>\n{pad}</property>\n'
        if kind == "number":
            return f'{pad}<property name="{name}">\n{pad}  <number>{value}</number>\n{pad}</property>\n'
        if kind == "enum":
            return f'{pad}<property name="{name}">\n{pad}  <enum>{value}</enum>\n{pad}</property>\n'
        if kind == "bool":
            return f'{pad}<property name="{name}">\n{pad}  <bool>{value}</bool>\n{pad}</property>\n'
        if kind == "cstring":
            return f'{pad}<property name="{name}">\n{pad}  <cstring>{value}</cstring>\n{pad}</property>\n'
        if kind == "size":
            w, h = value
            return (f'{pad}<property name="{name}">\n{pad}  <size>\n{pad}    <width>{w}</width>\n'
                    f'{pad}    <height>{h}</height>\n{pad}  </size>\n{pad}</property>\n')
        raise ValueError(kind)

    def widget(self, w, ind):
        cls, name, props = w["class"], w["name"], w.get("props", [])
        assert name not in self.names, name
        self.names.add(name)
        if cls in CUSTOM:
            self.used.add(cls)
        pad = " " * ind
        out = f'{pad}<widget class="{cls}" name="{name}">\n'
        for p in props:
            out += self.prop(*p[:3], ind + 2, *p[3:])
        if "id" in w:
            out += f'{pad}  <property name="ctrlId" stdset="0">\n{pad}    <number>{w["id"]}</number>\n{pad}  </property>\n'
        if "layout" in w:
            out += self.layout(w["layout"], ind + 2)
        return out + f"{pad}</widget>\n"

    def layout(self, lay, ind):
        kind, name, items = lay
        pad = " " * ind
        out = f'{pad}<layout class="{kind}" name="{name}">\n'
        for it in items:
            if kind == "QGridLayout":
                (r, c, span), w = it
                attrs = f' row="{r}" column="{c}"' + (f' colspan="{span}"' if span > 1 else "")
            else:
                w, attrs = it, ""
            out += f"{pad}  <item{attrs}>\n"
            if isinstance(w, tuple):
                out += self.layout(w, ind + 4)
            elif w == "stretch":
                out += (f'{pad}    <spacer name="spacer{len(self.names)}">\n'
                        f'{pad}      <property name="orientation">\n{pad}        <enum>Qt::Horizontal</enum>\n'
                        f'{pad}      </property>\n{pad}    </spacer>\n')
                self.names.add(f"spacer{len(self.names)}")
            else:
                out += self.widget(w, ind + 4)
            out += f"{pad}  </item>\n"
        return out + f"{pad}</layout>\n"

    def write(self, path, root_layout):
        body = self.layout(root_layout, 4)
        out = '<?xml version="1.0" encoding="UTF-8"?>\n<ui version="4.0">\n'
        out += f"  <class>{self.cls}</class>\n"
        base = "QDialog" if self.cls.startswith("CDlg") else "QWidget"
        out += f'  <widget class="{base}" name="{self.cls}">\n'
        out += (f'    <property name="geometry">\n      <rect>\n        <x>0</x>\n        <y>0</y>\n'
                f"        <width>{self.width}</width>\n        <height>{self.height}</height>\n"
                f"      </rect>\n    </property>\n")
        out += self.prop("windowTitle", "string", self.title, 4)
        out += body + "  </widget>\n"
        if self.used:
            out += "  <customwidgets>\n"
            for cls in sorted(self.used):
                ext, hdr = CUSTOM[cls]
                out += (f"    <customwidget>\n      <class>{cls}</class>\n      <extends>{ext}</extends>\n"
                        f"      <header>{hdr}</header>\n    </customwidget>\n")
            out += "  </customwidgets>\n"
        out += "  <resources/>\n  <connections/>\n</ui>\n"
        with open(path, "w", encoding="utf-8") as f:
            f.write(out)


def button(name, cid, text, min_width=0):
    props = [("text", "string", text)]
    if min_width:
        props.append(("minimumSize", "size", (min_width, 0)))
    return {"class": "QPushButton", "name": name, "id": cid, "props": props}


def label(name, text, cid=None, plain=False):
    props = []
    if plain:
        props.append(("textFormat", "enum", "Qt::PlainText"))
    # A plain label with an id shows a device's value: its design-time text is a placeholder.
    props.append(("text", "string", text, bool(plain and cid)))
    w = {"class": "QLabel", "name": name, "props": props}
    if cid:
        w["id"] = cid
    return w


def caption(name, text, buddy):
    return {"class": "QLabel", "name": name,
            "props": [("text", "string", text), ("buddy", "cstring", buddy)]}


def slider(name, cid, ticks=False, vertical=False):
    props = [("orientation", "enum", "Qt::Vertical" if vertical else "Qt::Horizontal")]
    if ticks:
        props += [("tickPosition", "enum", "QSlider::TicksAbove"), ("tickInterval", "number", 45)]
    return {"class": "QSlider", "name": name, "id": cid, "props": props}


def edit(name, cid, min_width=0):
    props = [("minimumSize", "size", (min_width, 0))] if min_width else []
    return {"class": "QLineEdit", "name": name, "id": cid, "props": props}


def lamp(name, cid):
    w = {"class": "Korvane::CLamp", "name": name, "props": [("minimumSize", "size", (12, 12))]}
    if cid:
        w["id"] = cid
    return w


def swatch(name, cid):
    return {"class": "Korvane::CButtonEx", "name": name, "id": cid,
            "props": [("minimumSize", "size", (48, 24)), ("focusPolicy", "enum", "Qt::NoFocus")]}


def group(name, title, lay):
    return {"class": "QGroupBox", "name": name, "props": [("title", "string", title)], "layout": lay}


def hbox(name, *items):
    return ("QHBoxLayout", name, list(items))


def vbox(name, *items):
    return ("QVBoxLayout", name, list(items))


def grid(name, *cells):
    return ("QGridLayout", name, list(cells))
