#!/usr/bin/env python3
"""Writes a GBK novel-like text of about the given size in MB: chapters of paragraphs indented
with ideographic spaces, full-width punctuation, CRLF line ends with some LF-only ones."""
import random
import sys

HANZI = ("的一是了我不人在他有这个上们来到时大地为子中你说生国年着就那和要她出也得里后自以会家可下而过天"
         "去能对小多然于心学么之都好看起发当没成只如事把还用第样道想作种开美总从无情己面最女但现前些所同日"
         "手又行意动方期它头经长儿回位分爱老因很给名法间斯知世什两次使身者被高已亲其进此话常与活正感见明问"
         "力理尔点文几定本公特做外孩相西果走将月十实向声车全信重三机工物气每并别真打太新比才便夫再书部水像"
         "眼等体却加电主界门利海受听表德少克代员许题先口由死安写性马光白或住难望教命花结乐色更拉东神记处让")
PUNCT = "，，，，。。！？：；“”《》……——、"


def paragraph(rng):
    words = []
    for _ in range(rng.randint(20, 120)):
        words.append("".join(rng.choices(HANZI, k=rng.randint(1, 4))))
        words.append(rng.choice(PUNCT) if rng.random() < 0.35 else "")
    return "　　" + "".join(words) + "。"


def main():
    path, megabytes = sys.argv[1], float(sys.argv[2])
    target = int(megabytes * 1024 * 1024)
    rng = random.Random(20261208)
    pool = [paragraph(rng).encode("gbk") for _ in range(3000)]
    written = 0
    chapter = 0
    with open(path, "wb") as out:
        while written < target:
            chapter += 1
            chunk = [("第%d章　%s" % (chapter, "".join(rng.choices(HANZI, k=6)))).encode("gbk") + b"\r\n"]
            for _ in range(rng.randint(30, 80)):
                chunk.append(rng.choice(pool) + (b"\n" if rng.random() < 0.05 else b"\r\n"))
            data = b"".join(chunk)
            out.write(data)
            written += len(data)


if __name__ == "__main__":
    main()
