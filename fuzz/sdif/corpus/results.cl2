A01V3      02Meet Results                                                                                02102025                                            N23
B11        Example Open                                                                                                  0208202502092025            Y       N63
C11        ILXMPLExample Club                                                                                                                                N13
D01        Doe, Jane Q                 0A1B2C3D4E5FAUSA0314201212FF 1002 17A111202082025 1:12.34L 1:05.10Y          1:04.87Y                                NN09
D30A1B2C3D4E5F61Janie                                                                                                                                        N21
D01        Roe, Sam                                            9 MM16501  5 UN1002082025                           17:59.99Y                               XNN04
D01        Poe, Ann                                    0505200915FF   1H  9 15OV02092025                             113.30                                 NN63
D01        Coe, Li                     1234567         1130201113MM  501 30 131402092025         NS      Y               DQY                                NN64
E01        AILXMPL  M 2006 31 UNOV                                                                                                                           N21
F0             ILXMPLACoe, Li                                                                                                                                N90
Z01        02                                                 4                                                                                              N18
