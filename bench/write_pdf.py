"""Writes a PDF from a list of object bodies: object i+1 is objects[i] and
object 1 is the catalog."""


def pdf(objects, path):
    offsets = []
    with open(path, "wb") as out:
        position = out.write(b"%PDF-1.7\n")
        for i, body in enumerate(objects):
            offsets.append(position)
            position += out.write(b"%d 0 obj\n" % (i + 1) + body + b"\nendobj\n")
        out.write(b"xref\n0 %d\n0000000000 65535 f \n" % (len(objects) + 1))
        out.write(b"".join(b"%010d 00000 n \n" % o for o in offsets))
        out.write(b"trailer\n<< /Size %d /Root 1 0 R >>\nstartxref\n%d\n%%%%EOF\n" % (len(objects) + 1, position))
