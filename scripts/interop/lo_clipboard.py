"""LibreOffice Draw's side of scripts/clipboard-interop.sh, through UNO.

    python3 lo_clipboard.py PORT paste   pastes into a new drawing, prints its shapes
    python3 lo_clipboard.py PORT copy    draws a rectangle and an ellipse, copies them
"""
import sys
import time

import uno


def connect(port):
    local = uno.getComponentContext()
    resolver = local.ServiceManager.createInstanceWithContext(
        "com.sun.star.bridge.UnoUrlResolver", local)
    url = f"uno:socket,host=localhost,port={port};urp;StarOffice.ComponentContext"
    for _ in range(90):
        try:
            return resolver.resolve(url)
        except Exception:
            time.sleep(1)
    raise SystemExit("LibreOffice did not answer")


def shape(doc, kind, x, y, w, h, colour):
    s = doc.createInstance(f"com.sun.star.drawing.{kind}Shape")
    s.Position = uno.createUnoStruct("com.sun.star.awt.Point", x, y)
    s.Size = uno.createUnoStruct("com.sun.star.awt.Size", w, h)
    s.FillColor = colour
    return s


def main():
    port, mode = sys.argv[1], sys.argv[2]
    ctx = connect(port)
    smgr = ctx.ServiceManager
    desktop = smgr.createInstanceWithContext("com.sun.star.frame.Desktop", ctx)
    dispatcher = smgr.createInstanceWithContext("com.sun.star.frame.DispatchHelper", ctx)
    doc = desktop.loadComponentFromURL("private:factory/sdraw", "_blank", 0, ())
    frame = doc.getCurrentController().getFrame()
    page = doc.getDrawPages().getByIndex(0)
    if mode == "paste":
        dispatcher.executeDispatch(frame, ".uno:Paste", "", 0, ())
        print(f"shapes: {page.getCount()}")
        for i in range(page.getCount()):
            s = page.getByIndex(i)
            line = s.getShapeType()
            if s.supportsService("com.sun.star.drawing.GraphicObjectShape"):
                # com.sun.star.graphic.GraphicType: 1 pixels, 2 vector
                kind = {1: "bitmap", 2: "vector"}.get(s.Graphic.GraphicType, "empty")
                line += f" {s.Graphic.MimeType} ({kind})"
            print(line)
    else:
        shapes = smgr.createInstanceWithContext("com.sun.star.drawing.ShapeCollection", ctx)
        for s in (shape(doc, "Rectangle", 1000, 1000, 4000, 2000, 0xFF0000),
                  shape(doc, "Ellipse", 6000, 1000, 3000, 3000, 0x0000FF)):
            page.add(s)
            shapes.add(s)
        doc.getCurrentController().select(shapes)
        dispatcher.executeDispatch(frame, ".uno:Copy", "", 0, ())
        print("copied a rectangle and an ellipse")


main()
